// The generators that render a recipe's dry sound; reverb, fades and level are
// applied afterwards by the renderer, the same way for every sound.
#pragma once
#include <string>
#include <vector>

#include "sound/recipe.h"
#include "sound/synth.h"

namespace tw::sfx {

struct c_rendered {
    std::vector<float> samples;
    // A loop whose last sample flows into its first: it gets no fades and no reverb.
    bool seamless_loop = false;
};

using t_generator = c_rendered (*)(c_params& params, c_noise& noise);

// The generator called name, or nullptr if there is none.
t_generator find_generator(const std::string& name);

// Sample count of a duration.
size_t frames_for(double seconds);

// One sample at t seconds of a glassy bell at hz: a few inharmonic partials,
// each decaying faster than the one below, after a soft attack.
double bell_sample(double hz, double t, double attack, double decay);

c_rendered generate_silence(c_params& params, c_noise& noise);
c_rendered generate_bell(c_params& params, c_noise& noise);
c_rendered generate_arpeggio(c_params& params, c_noise& noise);
c_rendered generate_nope(c_params& params, c_noise& noise);
c_rendered generate_chirp(c_params& params, c_noise& noise);
c_rendered generate_cricket(c_params& params, c_noise& noise);
c_rendered generate_buzz(c_params& params, c_noise& noise);
c_rendered generate_buzz_loop(c_params& params, c_noise& noise);
c_rendered generate_flutter(c_params& params, c_noise& noise);
c_rendered generate_squish(c_params& params, c_noise& noise);
c_rendered generate_roll(c_params& params, c_noise& noise);
c_rendered generate_clack(c_params& params, c_noise& noise);

}  // namespace tw::sfx
