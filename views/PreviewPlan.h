#pragma once
// The decisions of the preview pane, without windows: where the still
// picture goes, whether a refresh must restart the saver, and what the view
// shows when no saver covers it.
#include "base/SaverItem.h"

#include <cstdint>
#include <string>

namespace lum {

// A picture scaled to the view's width and centred vertically.
struct StillPicturePlacement {
    bool drawable = false;     // false for a picture without pixels
    int32_t top = 0;           // E: may be negative when the picture is taller than the view
    uint32_t height = 0;       // S: the scaled height
    int32_t topBand = 0;       // height of the white band above (0 when none)
    int32_t bottomBandTop = 0; // first row of the white band below
    int32_t bottomBand = 0;    // its height (0 when none)
};

// S = h * W / w (unsigned), E = (H - S) / 2 (signed, truncated toward zero).
StillPicturePlacement PlaceStillPicture(int viewWidth, int viewHeight, uint32_t pictureWidth,
                                        uint32_t pictureHeight);

// A refresh leaves a running preview alone when it would show the same
// entry's saver in the same way, unless forced (a resize, a closed dialog).
bool PreviewNeedsRestart(const SaverItem& current, const SaverItem& previewed, bool force);

// The large still picture beside the thumbnail: the thumbnail path's folder
// followed by "\imageL.png"; empty when the thumbnail path is empty.
std::wstring LargePicturePath(const std::wstring& thumbnailPath);

// What the view paints by itself.
enum class PreviewContent {
    NothingSelected,  // plain message: choose a saver
    StillPicture,     // imageL.png, letterboxed
    PictureMissing,   // plain message: the picture file is missing
    SaverMissing,     // plain message: the saver file is missing
    LiveSaver,        // the saver's own window covers the view
};

// `item` may be null (the view has not been given the selection yet).
PreviewContent ChoosePreviewContent(const SaverItem* item, bool largePictureExists, bool saverFileExists);

// The message and the path shown below it for the message contents.
std::wstring PreviewNoticeText(PreviewContent content);

} // namespace lum
