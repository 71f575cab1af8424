#pragma once

namespace GAME {

// The arena's hero, its jackals and their blows: the arena scenarios stage them, and the network
// session stages the same fight between machines.
struct ArenaSamples {
    static constexpr const char* kPlayer = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kJackal = "Records/Creatures/Monster/Arena/PackJackal.dbr";
    // The sample animations carry no events: the hero's punch and the jackals' claw get their
    // blow where the swing lands.
    static constexpr const char* kPunchAnimation = "Creatures/PC/Male/Animations/Unarmed_Punch.anm";
    static constexpr const char* kClawAnimation = "Creatures/Monster/Jackalman/Animations/Claw.anm";
    static constexpr const char* kHitEvent = "RightHandHit";
    static constexpr float kHitMs = 500.0f;
};

} // namespace GAME
