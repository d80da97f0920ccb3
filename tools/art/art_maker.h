// Running an art manifest: every image, element and layer it lists is rendered and
// written, and the geometry files it asks for are collected and written at the end.
#pragma once
#include <string>

namespace tw_tools {

// What one manifest made.
struct c_art_totals {
    int images = 0;
    int elements = 0;
    int layers = 0;
    int tiles = 0;
};

// Runs the manifest at manifest_path with SVGs under source_dir and outputs under
// output_dir. On failure returns false with error "<manifest>:<line>: <reason>" and
// removes the files this run wrote.
bool run_art_manifest(const std::string& manifest_path, const std::string& source_dir,
                      const std::string& output_dir, c_art_totals& totals, std::string& error);

// The progress line for a finished manifest.
std::string art_summary(const std::string& manifest_path, const c_art_totals& totals);

}  // namespace tw_tools
