// CItemList in markup: the "List" element, with one "x" element per item holding
// the item's text and, nested, its sub-list (ProfileReader reads them back).
#pragma once

#include "model/ItemList.h"
#include "profile/MarkupWriter.h"

// Writes a "List" element for `list`, inside the element the writer has open.
void WriteItemList(MarkupWriter& out, const CItemList& list);
