// The one way the game includes rapidxml: fixes the pool sizes for every
// translation unit alike and makes the printer compile with g++ 12.
#pragma once

// Small pools: the game keeps many small documents alive at once.
#define RAPIDXML_STATIC_POOL_SIZE 1024
#define RAPIDXML_DYNAMIC_POOL_SIZE 1024

#include <rapidxml/rapidxml.hpp>

// The printer calls these before it defines them; declaring them first lets
// two-phase lookup find them.
namespace rapidxml {
namespace internal {
template <class OutIt, class Ch>
inline OutIt print_children(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_element_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_data_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_cdata_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_declaration_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_comment_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_doctype_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
template <class OutIt, class Ch>
inline OutIt print_pi_node(OutIt out, const xml_node<Ch>* node, int flags, int indent);
}  // namespace internal
}  // namespace rapidxml

#include <rapidxml/rapidxml_print.hpp>
