#include "core/DesignerEquationLoader.h"

#include "core/DesignerEquation_Algebra.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"

namespace GAME {

std::unique_ptr<DesignerEquation_Algebra> LoadDesignerEquation(const LoadTable& record,
                                                               const char* key,
                                                               EquationInterface<float>* provider,
                                                               const char* failureFormat)
{
    const std::string text = record.GetString(key);
    if (text.empty())
        return nullptr;
    auto equation = std::make_unique<DesignerEquation_Algebra>();
    if (equation->ParseEquation(text.c_str(), provider))
        return equation;
    gEngine->Log(Engine::LogData, failureFormat, key);
    gEngine->Log(Engine::LogData, "%s: \"%s\" does not parse: %s", record.GetSourceName().c_str(),
                 key, text.c_str());
    return nullptr;
}

} // namespace GAME
