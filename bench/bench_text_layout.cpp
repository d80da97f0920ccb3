// Text layout cost: times c_ui_component_text::set_text on a 200-character
// paragraph with the shipped font description and prints the median
// microseconds per layout over several runs. Arguments: [content folder] [runs].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/ui_component_text.h"
#include "ui/ui_font.h"

namespace {

constexpr int k_default_runs = 9;
constexpr int k_layouts_per_run = 2000;
constexpr size_t k_text_length = 200;
constexpr const char* k_font_description = "/font/font_desc.xml";
using bench_clock = std::chrono::steady_clock;

// Prose with spaces, capitals, punctuation and one line end, cut to 200 characters.
std::string paragraph() {
    const std::string words =
        "The ferry to Thistlewarp leaves at dusk. Bring a lantern, a warm coat and your own "
        "good sense: the glow-worms are friendly,\nbut the beetles at the pond keep their "
        "own counsel and AVATAR Toyota WAVE Type kerning.";
    return words.substr(0, k_text_length);
}

double microseconds_per_layout(tw::c_ui_component_text& text, const std::string& words,
                               long& glyphs) {
    const tw::c_rgba colour{};
    const auto start = bench_clock::now();
    for (int i = 0; i < k_layouts_per_run; ++i) {
        text.set_text(words, colour);
        glyphs += text.glyph_count;
    }
    const std::chrono::duration<double, std::micro> spent = bench_clock::now() - start;
    return spent.count() / k_layouts_per_run;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string content = argc > 1 ? argv[1] : TW_BENCH_CONTENT_DIR;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : k_default_runs;

    tw::c_ui_font font;
    if (!font.load(content + k_font_description, nullptr)) {
        std::fprintf(stderr, "bench_text_layout: cannot read %s%s (make the content first)\n",
                     content.c_str(), k_font_description);
        return 1;
    }
    tw::c_ui_component_text text(&font);
    const std::string words = paragraph();
    long glyphs = 0;
    std::vector<double> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(microseconds_per_layout(text, words, glyphs));
    std::sort(times.begin(), times.end());

    std::printf("text layout: %zu characters, %d glyphs, %zu lines\n", words.size(),
                int(text.glyph_count), text.lines.size());
    std::printf("median %.2f us per layout (min %.2f, max %.2f; %d runs of %d)\n",
                times[times.size() / 2], times.front(), times.back(), runs, k_layouts_per_run);
    return glyphs > 0 ? 0 : 1;
}
