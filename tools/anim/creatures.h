// The creatures the generator makes: each builds its whole animation (parts, nodes,
// pose "default" and its graphs) from the art tool's geometry of its parts.
#pragma once
#include <string>
#include <vector>

#include "anim/anim.h"
#include "anim/rig.h"

namespace tw_tools {

// The player's larva: pose "default"; graphs "walk", "turn", "idle", "action", "hop", and
// chapter one's "thread", "hang", "chrysalis" (hanging from the origin along +y).
bool build_larva(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The scene firefly: pose "default"; graphs "sleep", "wake", "fly".
bool build_firefly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The title screen's hovering fly, facing left: pose "default"; graph "fly".
bool build_fly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The title screen's dragonfly, facing left: pose "default"; graph "fly".
bool build_dragonfly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter one's cocoons hanging from the cane's underside (origin at the pad, hanging
// down): graphs "idle" (first) and "build". Cocoon a is a jade chrysalis with a sleepy
// face, cocoon b a silky cream cocoon with loose strands.
bool build_cocoon_a(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);
bool build_cocoon_b(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter one's puzzle-spot props, origin at their middles: pose "default" and graph "idle".
bool build_c1rose(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);
bool build_c1silk(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);
bool build_c1seedhead(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's big glow-worm on her lily pad (origin at the middle of her body, head to
// the left): pose "default"; graphs "idle" (first) and "celebrate".
bool build_glowbig(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's field cricket on its stone by the pond, facing left, origin on the stone
// under its belly. Asleep it lacks its near middle and hind legs: pose "default", graph
// "idle". Awake and whole: pose "default", graphs "idle" (first) and "twitch" (its song).
bool build_cricket_asleep(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);
bool build_cricket_awake(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's weevil guard on his twig across the bank path, facing left (origin at his
// feet under the middle of his body): pose "default"; graphs "idle" (first), "tongue",
// "retreat" and "retreat_idle" (stepped aside to the right and sitting).
bool build_weavel(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's sundew behind the bank path (origin at its base): pose "default"; graphs
// "idle" (first, asleep), "wake", "wake_idle" and "eat".
bool build_2bugcatcher(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's aphid, the player's character (facing right, origin at its feet): pose
// "default"; graphs "walk", "turn", "idle", "action" and "drop" (flicked off the twig,
// tumbling head over heels in place, landing on its feet at rest).
bool build_aphida(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter two's glimmer over places that can be clicked (origin at its centre): pose
// "default"; graph "idle".
bool build_c2glint(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter three's bumblebee on her daisy, facing left, origin at the bottom middle of the
// daisy head: asleep with two near legs and the near antenna missing (pose "default",
// graph "idle"), and awake and whole (pose "default", graphs "idle" first and "twitch").
bool build_bee_asleep(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);
bool build_bee_awake(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter three's seed pod on its stalk, origin at the stalk's foot: pose "default";
// graphs "closed" (first, loop), "open" (once, bursting) and "blank" (open and empty).
bool build_pod(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter three's player character, a young field cricket facing right with its origin
// on the ground under its middle, as the larva's: pose "default"; graphs "walk", "turn",
// "idle", "action" (a chirp).
bool build_c3cricket(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter three's leaf balance, a curled leaf across a pebble (origin at the pebble's foot,
// y = 0 the ground): pose "default"; graphs "idle" (first, left end down), "tilt" (swings
// over onto its right end) and "tilt_idle".
bool build_3balance(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter four's player character, a young honeybee facing right with its origin on the
// ground under its middle, as the larva's: pose "default"; graphs "walk", "turn", "idle",
// "action" (a happy buzz) and "jump" (leaping back in place, landing at rest). Its head
// carries the disguise graphics "mask", "tooth1" and "tooth2" at alpha 0.
bool build_c4bee(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter four's stag beetle guarding the path through the poppy field, facing left
// (origin at his feet under the middle of his body): pose "default"; graphs "idle"
// (first), "snap", "retreat" (frightened off to the right) and "retreat_idle" (cowering).
bool build_4stag(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter four's big friendly chafer by a poppy stem, facing left, origin at his feet:
// pose "default"; graphs "idle" (first) and "twitch". His near feeler, graphic "antenna",
// has alpha 0 until the game shows it; a stub is drawn under it.
bool build_4bigbug(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter four's fallen stick across the poppy-field path, origin at its middle on the
// ground, with the little ants that carry it off along its underside (the scene moves the
// whole animation along their track): pose "default"; graph "idle".
bool build_4stick(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter four's sleepy maggot lying across the path, facing left, origin at the middle of
// its underside: pose "default"; graphs "idle" (first), "curl" (eats the leaves it is
// given and rolls up to the right of the origin) and "curl_idle" (asleep in the curl).
bool build_4maggotb(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter five's player character, a round glow bug with a lantern tail, facing right with
// its origin on the ground under its middle, as the larva's: pose "default"; graphs "walk",
// "turn", "idle", "action" (a happy flash and hop).
bool build_c5bug(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter five's fern on the ruin's edge, origin at its root on the left bank of a gap
// (y = 0 the ground): graphs "idle" (first, a curled fiddlehead standing up), "unroll"
// (lays itself across the gap as a bridge 900 long) and "idle_unrolled".
bool build_c5fern(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Chapter five's dusk moth, facing left, origin at the middle of its body: graphs "idle"
// (first, resting), "flutter", "takeoff" (ending in fly's first pose) and "fly".
bool build_c5moth(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Glow and shadow strengths are graphics of one texture at a few alphas and sizes;
// the name of the one nearest to level (0..1) among count of them: "<base>_<i>".
std::string level_graphic(const std::string& base, float level, int count);

// Appends count such graphics of element about a pivot, from scale s0 and alpha a0 at
// "<base>_0" to s1 and a1 at the last. With hidden_first, "<base>_0" is instead a speck
// of alpha 0: a part that is not there yet costs no pixels.
void add_levels(std::vector<c_graphic_def>& out, const std::string& base, const std::string& element,
                c_point pivot, int count, float s0, float s1, float a0, float a1, bool hidden_first);

}  // namespace tw_tools
