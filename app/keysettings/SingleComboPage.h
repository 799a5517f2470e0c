// Page 1: the key sends one other key, or a combination of up to six keys pressed together. A
// switch chooses between the two. The single key is captured from the keyboard or picked on
// the virtual keyboard; combinations live in the combination library, and the selected one's
// keys are recorded from the keyboard or picked on the virtual keyboard.
#pragma once

#include "LibraryPage.h"

namespace keysettings {

class SingleComboPage : public LibraryPage {
public:
    static constexpr int kMaxComboKeys = 6;

    explicit SingleComboPage(PageHost& host);

    bool singleMode() const { return singleMode_; }
    int singleKeyCode() const { return singleKeyCode_; }
    bool singleCapturing() const { return singleCapturing_; }
    bool comboRecording() const { return comboRecording_; }
    // The combination's keys as the record box shows them.
    std::wstring comboLine() const;

    bool openOnSlot(int kind, int hwCode, const model::CItemList& slotList) override;
    void beforePaint() override;
    void clicked(int id) override;
    ClickWhileCapturing clickWhileCapturing(int id) override;
    void captureKey(const HookKey& key) override;
    void clear() override;
    void takeDefault(int hwCode) override;
    void writeBack(model::CKeyboardConfig& config, int key, int layer) override;
    bool hasChoice() const override;
    bool assignsKind(int kind) const override;

private:
    void chooseMode(bool single);
    void toggleMode(int id);
    void startSingleCapture();
    void stopSingleCapture();
    void startComboRecording();
    void stopComboRecording();
    void stopCaptureModes();
    void pickSingleKey();
    void pickCombination();
    void captureSingleKey(int code);
    // The HW code of the single key; 0 when there is none.
    int singleHWCode() const;
    // The key code of a HW code, -1 for a negative or unknown one.
    int keyCodeOfHWCode(int hwCode);

    bool singleMode_ = true;
    int singleKeyCode_ = -1;
    bool singleCapturing_ = false;
    bool comboRecording_ = false;
};

}  // namespace keysettings
