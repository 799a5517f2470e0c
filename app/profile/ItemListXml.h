// CItemList in a markup document: the "List" element, with one "x" element per item holding
// the item's text and, nested, its sub-list.
#pragma once

#include "model/ItemList.h"
#include "profile/XmlDoc.h"

#include <cstddef>

// Bounds that keep a hostile document from making a list read take unbounded time or memory.
struct ListReadLimits {
    // Lists nested deeper than this are read as empty (profiles nest three deep at most).
    int maxDepth = 8;
    // Items are placed by their stored index; an index at or beyond this is ignored.
    std::size_t maxItems = 65536;
    // Empty items that gaps between stored indexes may create, for one whole document.
    std::size_t gapBudget = 65536;
};

// Appends a "List" element for `list` after the current element and leaves the position as
// it was, on that new element.
void WriteItemList(CXmlDoc& doc, const CItemList& list);

// Reads the next "List" element among the current element's following siblings (or the
// parent's children) into `list`. The list is cleared first (its SizeOfView kept); without a
// "List" element it stays cleared. Attributes that are missing read as 0.
void ReadItemList(CXmlDoc& doc, CItemList& list, ListReadLimits& limits);
