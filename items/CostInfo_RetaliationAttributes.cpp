#include "items/CostInfo_RetaliationAttributes.h"

namespace GAME {

void CostInfo_RetaliationAttributes::Dump() const
{
    DumpFields("Retaliation Cost Attributes", false);
}

} // namespace GAME
