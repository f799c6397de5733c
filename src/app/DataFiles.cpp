#include "app/DataFiles.h"

#include "layers/ProgramFiles.h"

namespace zv {

QString DataFile(const QString& relative) {
    return FindProgramFile({QStringLiteral("../share/zorvane/") + relative},
                           {QStringLiteral(ZORVANE_BUILD_DATA_DIR "/") + relative});
}

}  // namespace zv
