#include "ProgramIcon.h"

#include "SkinPictures.h"

#include <QFile>
#include <QPixmap>

namespace {

const char* const IconResource = ":/morvane/MAINICON.png";

} // namespace

QIcon ProgramIcon() {
    QFile file(QString::fromLatin1(IconResource));
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        try {
            const QImage image =
                DecodePng({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
            if (!image.isNull())
                return QIcon(QPixmap::fromImage(image));
        } catch (const std::exception&) {
            // Qt's reader below says no less.
        }
    }
    return QIcon(QString::fromLatin1(IconResource));
}
