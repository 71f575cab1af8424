#pragma once

#include <cstdint>

namespace GAME {

class QuestNetMsg;
class TriggerCondition;

// What every quest condition does alike: the local player, whether its trigger is done, and how
// it becomes satisfied; and the kill conditions' report to the other machines.
namespace QuestConditionRules {

uint32_t Me();
bool IsServerOrSingle();
// Conditions ignore every event once their trigger has fired for good.
bool IsDone(const TriggerCondition& condition);
// A polled condition's answer, inverted when negated, and-ed into the trigger's running flag.
bool AndInto(bool& flag, bool holds, const TriggerCondition& condition);
// Sets the flag, names the instigator (when one is given) and asks the trigger to look again.
void Satisfy(TriggerCondition& condition, uint32_t instigator, uint32_t secondId = 0);
// In a network game the logic machine tells everyone of the kill; false when the killer is an
// in-game player outside this machine's party, whose kill is not ours.
bool ReportKill(const QuestNetMsg& message, uint32_t killer);
// Tells every machine the condition is met, from the logic machine only.
void AnnounceMet(const TriggerCondition& condition, bool notify);

} // namespace QuestConditionRules

} // namespace GAME
