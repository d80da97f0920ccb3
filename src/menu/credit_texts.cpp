// The credits' headings and names. Names are kept short so that every block
// fits in four lines at the credits' text size.
#include "menu/credit_texts.h"

namespace tw {

namespace {

constexpr const char* k_creator_a = "Ilse Marrow";
constexpr const char* k_creator_b = "Tobin Reed";

struct c_credit_block {
    const char* heading;
    const char* names;  // one name per line
};

// Every block after the first, in scroll order.
const c_credit_block k_blocks[] = {
    {"Music and Sound Design:", "Pell Ashdown"},
    {"Publishing:", "Cobble Lane Press"},
    {"Design Consultant:", "Vera Quill"},
    {"Animation Consultant:", "Oren Vale"},
    {"Special Thanks:", "Hazel Drummond\nAmos Fenwick"},
    {"Special Thanks:", "Nell Okoro\nRuben Salt"},
    {"Special Thanks:", "Greta Ambler\nIvo Lark"},
    {"Special Thanks:", "Mei Thornby\nCasper Wend"},
    {"Special Thanks:", "Aino Brook\nDario Pim"},
    {"Special Thanks:", "Lotte Finch\nSami Rowan"},
    {"Special Thanks:", "Bea Holloway\nFelix Dunn"},
    {"Special Thanks:", "Orla Pike\nMilo Garnet"},
    {"Special Thanks:", "Yara Fell\nJonah Weir"},
    {"Special Thanks:", "our families,\nfor the patience"},
    {"Alpha Testers:", "Tilly Marsh\nEmil Crane"},
    {"Alpha Testers:", "Rosa Linden\nKai Bramwell"},
    {"Alpha Testers:", "Nico Hale\nWren Abbot"},
    {"Alpha Testers:", "Ada Moss\nLeon Harrow"},
    {"Alpha Testers:", "Ines Cobb\nOtto Reeve"},
    {"Alpha Testers:", "Juno Pratt\nSilas Kerr"},
    {"Alpha Testers:", "Maren Tuck\nEli Sparrow"},
    {"Alpha Testers:", "Pia Lund\nand every larva"},
};

std::string block_text(const std::string& heading, const std::string& names) {
    return heading + "\n\n" + names;
}

}  // namespace

std::vector<std::string> credit_block_texts(bool first_variant) {
    std::vector<std::string> texts;
    texts.reserve(k_credit_text_blocks);
    const std::string first = first_variant ? std::string(k_creator_a) + "\n" + k_creator_b
                                            : std::string(k_creator_b) + "\n" + k_creator_a;
    texts.push_back(block_text("Created by:", first));
    for (const c_credit_block& block : k_blocks) texts.push_back(block_text(block.heading, block.names));
    return texts;
}

}  // namespace tw
