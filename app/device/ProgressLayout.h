// The progress dialog's face in design coordinates, shared by the dialog and the artwork
// generator.
#pragma once

#include "SkinLayout.h"

#include <vector>

namespace progress {

constexpr skin::FaceSize kFaceSize{370, 250};
constexpr int kItemCapacity = 107;

constexpr int kImageBackground = 139;
constexpr int kImageHover = 140;
constexpr int kImageSelected = 141;

enum ItemId : int {
    kIdClose = 89,
    kIdCancel = 93,
    kLabelWarning = 187,
    kLabelTitle = 188,
    kLabelCancel = 193,
    // The line that tells the user a job waits for an earlier, cancelled one to finish.
    kLabelWaiting = 194,
};

// The bar is copied from the selected image: kBarMaxWidth pixels wide when full.
constexpr skin::DesignRect kBarRect{40, 150, 220, 172};
constexpr int kBarMaxWidth = 180;

std::vector<skin::ItemSpec> ProgressItems();

}  // namespace progress
