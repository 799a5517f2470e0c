// The firmware update window's face in design coordinates, shared by the window and the artwork
// generator.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace firmware {

constexpr skin::FaceSize kFaceSize{370, 250};
constexpr int kItemCapacity = 107;
constexpr skin::Rgb kColorKey{255, 0, 0};

constexpr int kImageBackground = 128;
constexpr int kImageHover = 129;
// The bar is copied from this picture as the download goes on.
constexpr int kImageSelected = 130;

enum ItemId : int {
    kIdClose = 89,
    kIdGetVersion = 90,
    kIdOpen = 91,
    kIdUpdate = 92,
    kIdCancel = 93,
    kLabelFile = 187,
    kLabelTitle = 188,
    kLabelGetVersion = 190,
    kLabelOpen = 191,
    kLabelUpdate = 192,
    kLabelCancel = 193,
};

// The two display boxes: the keyboard's firmware version and the path of the firmware file.
constexpr skin::DesignRect kVersionBoxRect{44, 78, 206, 96};
constexpr skin::DesignRect kPathBoxRect{112, 116, 255, 135};
constexpr int kBoxTextSize = 13;

// The progress bar: kBarMaxWidth pixels wide when the download is complete.
constexpr skin::DesignRect kBarRect{40, 150, 330, 172};
constexpr int kBarMaxWidth = 290;

std::vector<skin::ItemSpec> FirmwareItems();

}  // namespace firmware
