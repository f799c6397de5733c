#include "editor/EditorUi.h"

#include "video/VideoExport.h"

namespace zv {

void EditorUi::RunVideoExport(VideoExport& job) {
    while (job.Step()) {
    }
}

}  // namespace zv
