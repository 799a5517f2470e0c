// CItemList in a markup document: the "List" element, with one "x" element per item holding
// the item's text and, nested, its sub-list (ProfileReader reads them back).
#pragma once

#include "model/ItemList.h"
#include "profile/XmlDoc.h"

namespace profile {

// Appends a "List" element for `list` after the current element and leaves the position as
// it was, on that new element.
void WriteItemList(CXmlDoc& doc, const model::CItemList& list);

}  // namespace profile
