// Fuzz entry: any bytes given to the bitmap decoder give an image or a clean
// refusal, never a crash; a decoded image holds exactly its rows.
#include <cstdint>
#include <cstdlib>

#include "platform/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::c_image image;
    if (tw::decode_bitmap(data, size, image)) {
        if (image.pixels.size() != size_t(image.stride) * image.height) std::abort();
    }
    return 0;
}
