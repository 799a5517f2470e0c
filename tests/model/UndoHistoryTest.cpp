#include "OrvoHWI.h"
#include "model/ChangeNames.h"
#include "model/KeyboardProfile.h"
#include "model/UndoHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using model::CKeyboardProfile;
using model::KindNotSet;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;
using model::RGBColor;

using namespace model;

namespace {

using History = model::UndoHistory<std::string, std::string>;

// One step of a session: 'r' records `state` named `name`, 'u' undoes, 'd' redoes (when
// possible: otherwise nothing happens). After it, `expected` is the current state.
struct Step {
    char action;
    std::string state;
    std::string expected;
    std::size_t undoable;
    std::size_t redoable;
};

void Play(History& history, const std::vector<Step>& steps) {
    int index = 0;
    for (const Step& step : steps) {
        switch (step.action) {
            case 'r':
                history.record(step.state, "to " + step.state);
                break;
            case 'u':
                if (history.canUndo()) {
                    history.undo();
                }
                break;
            case 'd':
                if (history.canRedo()) {
                    history.redo();
                }
                break;
        }
        EXPECT_EQ(history.current(), step.expected) << "step " << index;
        EXPECT_EQ(history.undoSteps(), step.undoable) << "step " << index;
        EXPECT_EQ(history.redoSteps(), step.redoable) << "step " << index;
        ++index;
    }
}

TEST(UndoHistory, SessionsGoBackAndForthThroughTheirStates) {
    struct Session {
        const char* name;
        std::size_t limit;
        std::vector<Step> steps;
    };
    const Session sessions[] = {
        {"undo and redo every step",
         10,
         {{'r', "a", "a", 1, 0},
          {'r', "b", "b", 2, 0},
          {'u', "", "a", 1, 1},
          {'u', "", "start", 0, 2},
          {'u', "", "start", 0, 2},  // nothing left to undo
          {'d', "", "a", 1, 1},
          {'d', "", "b", 2, 0},
          {'d', "", "b", 2, 0}}},  // nothing left to redo
        {"a change after undo drops the redo",
         10,
         {{'r', "a", "a", 1, 0},
          {'r', "b", "b", 2, 0},
          {'u', "", "a", 1, 1},
          {'r', "c", "c", 2, 0},
          {'u', "", "a", 1, 1},
          {'d', "", "c", 2, 0}}},
        {"a change to the same state is no step",
         10,
         {{'r', "start", "start", 0, 0}, {'r', "a", "a", 1, 0}, {'r', "a", "a", 1, 0}}},
        {"the oldest steps go past the limit",
         2,
         {{'r', "a", "a", 1, 0},
          {'r', "b", "b", 2, 0},
          {'r', "c", "c", 2, 0},
          {'u', "", "b", 1, 1},
          {'u', "", "a", 0, 2},
          {'u', "", "a", 0, 2}}},
        {"going back to an earlier state by hand is a step of its own",
         10,
         {{'r', "a", "a", 1, 0}, {'r', "start", "start", 2, 0}, {'u', "", "a", 1, 1}}},
    };
    for (const Session& session : sessions) {
        SCOPED_TRACE(session.name);
        History history(session.limit);
        history.reset("start");
        Play(history, session.steps);
    }
}

TEST(UndoHistory, NamesFollowTheSteps) {
    History history;
    history.reset("start");
    history.record("a", "first");
    history.record("b", "second");
    EXPECT_EQ(history.undoName(), "second");
    history.undo();
    EXPECT_EQ(history.undoName(), "first");
    EXPECT_EQ(history.redoName(), "second");
}

TEST(UndoHistory, HoldsWholeConfigurations) {
    model::UndoHistory<CKeyboardProfile, model::ChangeName> history;
    CKeyboardProfile profile;
    profile.ApplyDefaults(kDeviceTypePrsmBle);
    history.reset(profile);
    const CKeyboardProfile start = profile;
    profile.lightColor[5] = {1, 2, 3};
    EXPECT_TRUE(history.record(profile, model::WholeChangeName(model::WholeChange::Colours)));
    profile.keyMode[46][LayerNoneFn] = KindNotSet;
    EXPECT_TRUE(history.record(profile, model::KeyChangeName(46, LayerNoneFn)));
    EXPECT_TRUE(history.undo() != profile);
    EXPECT_TRUE(history.undo() == start);
    EXPECT_TRUE(history.redo().lightColor[5] == (RGBColor{1, 2, 3}));
}

TEST(ChangeNames, ReportsNameTheStepInTheUsersLanguage) {
    struct Case {
        std::wstring report;
        std::wstring expected;
    };
    const model::ChangeName keyA = model::KeyChangeName(46, LayerNoneFn);
    const Case cases[] = {
        {model::UndoReport(keyA, false), L"Undo: key A, no Fn layer"},
        {model::UndoReport(keyA, true), L"撤销：按键 A，无FN层"},
        {model::RedoReport(model::KeyChangeName(46, LayerLeftFn), false),
         L"Redo: key A, left Fn layer"},
        {model::RedoReport(model::KeyChangeName(46, LayerRightFn), true), L"重做：按键 A，右FN层"},
        {model::UndoReport(model::WholeChangeName(model::WholeChange::ReadAll), false),
         L"Undo: ReadAll"},
        {model::UndoReport({}, false), L"Nothing to undo"},
        {model::RedoReport({}, true), L"没有可以重做的修改"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.report, c.expected);
    }
}

}  // namespace
