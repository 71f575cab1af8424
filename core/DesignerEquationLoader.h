#pragma once

#include "core/EquationInterface.h"

#include <memory>

namespace GAME {

class DesignerEquation_Algebra;
class LoadTable;

// Reads the formula a record holds under `key`. No formula when the key is empty. When it does
// not parse, `failureFormat` is logged with the key (each owner has its own line), followed by
// a line naming the record and the text, so a designer can find the broken formula.
std::unique_ptr<DesignerEquation_Algebra> LoadDesignerEquation(const LoadTable& record,
                                                               const char* key,
                                                               EquationInterface<float>* provider,
                                                               const char* failureFormat);

} // namespace GAME
