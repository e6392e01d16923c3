// zervtag render FILE OUT.png: draws the dialog as the editor's canvas shows it with
// nothing selected, without a display, for previews and documentation.
#include "ZervtagCommand.h"
#include "ZervtagIO.h"

#include "ZPZervDialogEditorDocument.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

namespace {

// Beyond this many pixels a preview is refused rather than risking the memory.
constexpr qint64 kMaximumPixels = qint64(16384) * 16384;

} // namespace

int zervtagRender(const QStringList& operands) {
    const QString& input = operands[0];
    const QString& output = operands[1];
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zervtag";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);

    QByteArray bytes;
    QString error;
    auto document = std::make_shared<ZPZervDialogEditorDocument>();
    if (!zervtagReadFile(input, bytes, error) || !document->readFromData(bytes, &error)) {
        zervtagPrintError(input + QStringLiteral(": ") + error);
        return ZervtagFailed;
    }
    const ZPRect frame = document->dialogFrame();
    if (!(frame.width >= 1 && frame.height >= 1) ||
        qint64(frame.width) * qint64(frame.height) > kMaximumPixels) {
        zervtagPrintError(QStringLiteral("%1: the dialog is %2 x %3, which has no picture to draw")
                              .arg(input)
                              .arg(double(frame.width))
                              .arg(double(frame.height)));
        return ZervtagFailed;
    }

    document->makeWindowControllers();
    const QImage image = document->layoutView()->grab().toImage();
    document->close();
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        zervtagPrintError(QStringLiteral("%1: the picture could not be made").arg(input));
        return ZervtagFailed;
    }
    if (!zervtagWriteFileAtomically(output, std::vector<uint8_t>(png.begin(), png.end()), error)) {
        zervtagPrintError(output + QStringLiteral(": ") + error);
        return ZervtagFailed;
    }
    return ZervtagOk;
}
