#include "LayoutParts.h"

namespace keysettings::layout_parts {

skin::ItemSpec Row(int id, skin::DesignRect rect, unsigned format) {
    skin::ItemSpec item = skin::ButtonSpec(id, rect);
    item.showCaption = true;
    item.fontIndex = kRowFontSize;
    item.textFormat = format;
    return item;
}

namespace {

// `count` rows from `firstId` on between `left` and `right`.
void AppendListRows(std::vector<skin::ItemSpec>& items, int firstId, int count, int left,
                    int right) {
    constexpr int kTop = 114;
    constexpr int kPitch = 14;
    constexpr int kHeight = 13;
    for (int k = 0; k < count; ++k) {
        const int top = kTop + kPitch * k;
        items.push_back(
            Row(firstId + k, {left, top, right, top + kHeight}, skin::text_format::kLeft));
    }
}

}  // namespace

void AppendLibraryRows(std::vector<skin::ItemSpec>& items, const LibrarySpec& plan,
                       int contentRows) {
    AppendListRows(items, plan.firstRowId, plan.rows, kLibraryTitle.left, kLibraryTitle.right);
    AppendListRows(items, plan.firstContentRowId, contentRows, kContentTitle.left,
                   kContentTitle.right);
}

void AppendRecordLabels(std::vector<skin::ItemSpec>& items, int startId, int stopId,
                        skin::DesignRect rect) {
    items.push_back(skin::LabelSpec(startId, "开始录制", "Record", rect));
    skin::ItemSpec stop = skin::LabelSpec(stopId, "停止录制", "Stop Rec", rect);
    stop.textColor = kGreen;
    stop.textVisible = false;
    items.push_back(stop);
}

}  // namespace keysettings::layout_parts
