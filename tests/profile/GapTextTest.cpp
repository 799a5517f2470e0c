#include "profile/GapText.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

using profile::GapText;

namespace {

// Edits at places that jump about, each checked against a plain string: the gap moves, grows
// within the reserved room, grows past it and carries the text after it along.
TEST(GapText, EditsAnywhereKeepTheText) {
    struct Case {
        const char* what;
        std::string start;
        std::size_t reserve;
    };
    const Case cases[] = {
        {"empty, nothing reserved", "", 0},
        {"empty, room for most of it", "", 60000},
        {"empty, room for exactly what is written", "", 150000},
        {"a text taken over, nothing reserved", std::string(70000, 'x'), 0},
        {"a text taken over, room reserved", std::string(3000, 'y'), 100000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GapText text;
        text.Assign(c.start);
        std::string expected = c.start;
        text.Reserve(c.reserve);
        std::size_t position = 0;
        for (int edit = 0; edit < 2000; ++edit) {
            // A long insertion now and then, so that the gap grows by more than its step.
            const std::string inserted =
                edit % 500 == 7 ? std::string(20000, 'L') : "<e" + std::to_string(edit) + "/>\r\n";
            position = (position * 7 + 13 * static_cast<std::size_t>(edit)) % (expected.size() + 1);
            if (edit % 3 == 0) {
                // Mostly near the end, as a writer inserts before the end tags.
                position = expected.size() - std::min<std::size_t>(expected.size(), 9);
            }
            if (edit % 2 == 0) {
                char* out = text.BeginInsert(position, inserted.size() + 8);
                inserted.copy(out, inserted.size());
                text.EndInsert(inserted.size());
                expected.insert(position, inserted);
            } else {
                const std::size_t removed = std::min<std::size_t>(3, expected.size() - position);
                text.Replace(position, removed, inserted);
                expected.replace(position, removed, inserted);
            }
            ASSERT_EQ(text.Size(), expected.size()) << "edit " << edit;
        }
        EXPECT_EQ(text.Str(), expected);
        const std::size_t middle = expected.size() / 2;
        EXPECT_EQ(text.View(middle - 100, 200),
                  std::string_view(expected).substr(middle - 100, 200));
        EXPECT_EQ(text.At(middle), expected[middle]);
    }
}

}  // namespace
