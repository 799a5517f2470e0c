#include "model/ChangeNames.h"

#include "model/CodeTables.h"
#include "model/KeyKinds.h"

namespace model {
namespace {

ChangeName LayerChangeName(int layer) {
    switch (layer) {
        case LayerRightFn:
            return {L"右FN层", L"right Fn layer"};
        case LayerLeftFn:
            return {L"左FN层", L"left Fn layer"};
        default:
            return {L"无FN层", L"no Fn layer"};
    }
}

std::wstring Report(const ChangeName& name, bool chineseText, const wchar_t* chineseWord,
                    const wchar_t* englishWord, const wchar_t* chineseNothing,
                    const wchar_t* englishNothing) {
    if (name.empty()) {
        return chineseText ? chineseNothing : englishNothing;
    }
    return std::wstring(chineseText ? chineseWord : englishWord) + name.in(chineseText);
}

}  // namespace

ChangeName KeyChangeName(int key, int layer) {
    const std::wstring caption(KeyCaption(key));
    const ChangeName layerName = LayerChangeName(layer);
    return {L"按键 " + caption + L"，" + layerName.chinese,
            L"key " + caption + L", " + layerName.english};
}

ChangeName WholeChangeName(WholeChange change) {
    switch (change) {
        case WholeChange::Default:
            return {L"恢复默认", L"Default"};
        case WholeChange::Open:
            return {L"打开配置", L"Open"};
        case WholeChange::ReadAll:
            return {L"读取配置", L"ReadAll"};
        case WholeChange::Colours:
            return {L"背光颜色", L"colours"};
    }
    return {};
}

std::wstring UndoReport(const ChangeName& name, bool chineseText) {
    return Report(name, chineseText, L"撤销：", L"Undo: ", L"没有可以撤销的修改",
                  L"Nothing to undo");
}

std::wstring RedoReport(const ChangeName& name, bool chineseText) {
    return Report(name, chineseText, L"重做：", L"Redo: ", L"没有可以重做的修改",
                  L"Nothing to redo");
}

}  // namespace model
