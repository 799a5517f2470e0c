#include "model/AssignmentRules.h"

#include <gtest/gtest.h>

using model::CodeFitsKind;
using model::IsFnKeyCode;
using model::IsMacroMouseCode;
using model::KindCombo;
using model::KindFunction;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;
using model::KindSingle;
using model::MacroItemLimit;

namespace {

TEST(AssignmentRulesTest, EachKindTakesTheCodesOfItsPage) {
    struct Case {
        int hwCode;
        int fits;  // the one single-code kind that takes it, KindNotSet for none
    };
    const Case cases[] = {
        {1, KindSingle},    // ESC
        {107, KindSingle},  // (Enter)
        {203, KindSingle},  // (00)
        {204, KindSingle},  // <>|
        {75, KindPower},       {77, KindPower},     {108, KindMultimedia},
        {125, KindMultimedia}, {126, KindMouse},    {134, KindMouse},
        {157, KindMouse},      {173, KindMouse},  // the mouse settings among the functions
        {199, KindMouse},                         // the double click
        {135, KindFunction},   {156, KindFunction}, {198, KindFunction},
        {0, KindNotSet},       {-1, KindNotSet},
    };
    for (const Case& c : cases) {
        for (int kind : {KindSingle, KindMultimedia, KindMouse, KindFunction, KindPower}) {
            EXPECT_EQ(CodeFitsKind(kind, c.hwCode), kind == c.fits)
                << "code " << c.hwCode << ", kind " << kind;
        }
    }
    // The list kinds take no single code.
    EXPECT_FALSE(CodeFitsKind(KindCombo, 43));
    EXPECT_TRUE(IsMacroMouseCode(130));
    EXPECT_TRUE(IsMacroMouseCode(134));
    EXPECT_FALSE(IsMacroMouseCode(126));
    EXPECT_TRUE(IsFnKeyCode(156));
    EXPECT_TRUE(IsFnKeyCode(166));
    EXPECT_FALSE(IsFnKeyCode(171));
    EXPECT_EQ(MacroItemLimit(false), 799);
    EXPECT_EQ(MacroItemLimit(true), 1600);
}

}  // namespace
