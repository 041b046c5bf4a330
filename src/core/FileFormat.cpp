#include "core/FileFormat.h"

#include "common/JetSignature.h"

#include <QFile>
#include <QFileInfo>

namespace jet {

FileFormat detectFormat(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return FileFormat::Missing;
    if (!info.isFile())
        return FileFormat::Unknown;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileFormat::Unknown;
    const QByteArray head = file.read(static_cast<qint64>(kSignatureBytes));
    switch (signatureOf(std::string_view(head.constData(), static_cast<std::size_t>(head.size())))) {
    case Signature::Jet3: return FileFormat::Jet3;
    case Signature::Jet4: return FileFormat::Jet4;
    case Signature::Sqlite: return FileFormat::Sqlite;
    case Signature::Unknown: break;
    }
    return FileFormat::Unknown;
}

}  // namespace jet
