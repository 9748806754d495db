#include "views/PreviewPlan.h"

namespace lum {

StillPicturePlacement PlaceStillPicture(int viewWidth, int viewHeight, uint32_t pictureWidth,
                                        uint32_t pictureHeight) {
    StillPicturePlacement place;
    if (pictureWidth == 0 || pictureHeight == 0 || viewWidth <= 0 || viewHeight <= 0) return place;
    // 64-bit product: a huge picture in a wide view must not wrap around.
    const uint64_t scaled = static_cast<uint64_t>(pictureHeight) * static_cast<uint32_t>(viewWidth) / pictureWidth;
    if (scaled > 0x7FFFFFFFu) return place;
    place.drawable = true;
    place.height = static_cast<uint32_t>(scaled);
    place.top = (viewHeight - static_cast<int32_t>(place.height)) / 2;
    place.topBand = place.top > 0 ? place.top : 0;
    place.bottomBandTop = place.top + static_cast<int32_t>(place.height);
    place.bottomBand = viewHeight > place.bottomBandTop ? viewHeight - place.bottomBandTop : 0;
    return place;
}

bool PreviewNeedsRestart(const SaverItem& current, const SaverItem& previewed, bool force) {
    if (force) return true;
    // The folder and the original-saver flag decide too: two entries of one
    // saver may run different copies of it.
    return current.scr != previewed.scr || current.large_image != previewed.large_image ||
           current.folder != previewed.folder || current.use_original_saver != previewed.use_original_saver;
}

std::wstring LargePicturePath(const std::wstring& thumbnailPath) {
    if (thumbnailPath.empty()) return {};
    const size_t cut = thumbnailPath.find_last_of(L"\\/");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : thumbnailPath.substr(0, cut);
    return folder + L"\\imageL.png";
}

PreviewContent ChoosePreviewContent(const SaverItem* item, bool largePictureExists, bool saverFileExists) {
    if (!item || item->scr.empty()) return PreviewContent::NothingSelected;
    if (item->large_image != 0 && !item->image.empty())
        return largePictureExists ? PreviewContent::StillPicture : PreviewContent::PictureMissing;
    return saverFileExists ? PreviewContent::LiveSaver : PreviewContent::SaverMissing;
}

std::wstring PreviewNoticeText(PreviewContent content) {
    switch (content) {
    case PreviewContent::NothingSelected: return L"一覧からスクリーンセーバーを選んでください。";
    case PreviewContent::PictureMissing: return L"プレビュー画像のファイルが見つかりません。";
    case PreviewContent::SaverMissing: return L"スクリーンセーバーのファイルが見つかりません。";
    default: return {};
    }
}

} // namespace lum
