#pragma once
// The codes every shooting object shares: what an object is (kind), where it
// is in its life (state) and its level (difficulty for enemies, shot power for
// the player). Plain ints, as the stage script and the objects store them.

namespace ml::shooting::object {

// Object kinds.
inline constexpr int KIND_PLAYER = 1;
inline constexpr int KIND_ENEMY = 2;
inline constexpr int KIND_PLAYER_ATTACK = 3;
inline constexpr int KIND_ENEMY_ATTACK = 4;
inline constexpr int KIND_BOMB_ATTACK = 5;  // the player's bomb; also cancels enemy bullets
inline constexpr int KIND_ITEM = 6;

// Object states.
inline constexpr int STATE_STANDBY = 0x100000;  // built, not on the field yet
inline constexpr int STATE_READY = 0x100001;    // entry finished, waiting for the stage
inline constexpr int STATE_ENTRY = 0x100002;    // first entry run
inline constexpr int STATE_REENTRY = 0x100003;  // player: re-entry; boss: arrived
inline constexpr int STATE_ACTIVE = 0x100004;   // on the field, can be hit
inline constexpr int STATE_CHANGE = 0x100005;   // boss: changing phase, cannot be hit
inline constexpr int STATE_PINCH = 0x100006;    // boss: second phase, can be hit
inline constexpr int STATE_DYING = 0x100007;    // hit points gone, death plays
inline constexpr int STATE_GONE = 0x100008;     // finished; may be deleted
inline constexpr int STATE_RECOVER = 0x100009;  // player: invulnerable after re-entry
inline constexpr int STATE_BOMB = 0x10000A;     // player: bomb in progress

// Levels: difficulty (the first three) or shot power (all five).
inline constexpr int LEVEL_1 = 0x200000;
inline constexpr int LEVEL_2 = 0x200001;
inline constexpr int LEVEL_3 = 0x200002;
inline constexpr int LEVEL_4 = 0x200003;
inline constexpr int LEVEL_5 = 0x200004;
inline constexpr int LEVEL_MIN = LEVEL_1;
inline constexpr int LEVEL_MAX = LEVEL_5;

// True for the states in which an object can be hit.
inline constexpr bool isHittableState(int state) {
    return state == STATE_ACTIVE || state == STATE_PINCH;
}

}  // namespace ml::shooting::object
