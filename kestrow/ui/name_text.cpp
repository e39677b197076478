#include "kestrow/ui/name_text.h"

#include <QStringDecoder>

QString nameText(std::string_view utf8) {
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}
