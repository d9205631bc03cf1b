#include "platform/ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

FileDialogHook& hook() {
    static FileDialogHook instance;
    return instance;
}

std::optional<QString> showDialog(const FileDialogRequest& request, QWidget* owner) {
    QFileDialog dialog(owner, request.Title);
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.Filter.isEmpty())
        dialog.setNameFilter(request.Filter);
    dialog.setDefaultSuffix(request.DefaultExt);
    if (!request.FileName.isEmpty()) {
        const QFileInfo info(request.FileName);
        if (info.path() != QLatin1String("."))
            dialog.setDirectory(info.path());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

void SetFileDialogHook(FileDialogHook newHook) {
    hook() = std::move(newHook);
}

QString QtFilterOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1]
                                     .split(QLatin1Char(';'), Qt::SkipEmptyParts)
                                     .replaceInStrings(QStringLiteral(" "), QString())
                                     .join(QLatin1Char(' '));
        const QString shown = QStringLiteral("(") + patterns + QLatin1Char(')');
        entries << (description.endsWith(shown) ? description
                                                : description + QLatin1Char(' ') + shown);
    }
    return entries.join(QStringLiteral(";;"));
}

bool TFileDialog::Execute() {
    const FileDialogRequest request{save_, Title, DefaultExt, FileName, QtFilterOf(Filter)};
    std::optional<QString> chosen = hook() ? hook()(request) : showDialog(request, owner_);
    if (!chosen)
        return false;
    QString name = *chosen;
    if (!DefaultExt.isEmpty() && QFileInfo(name).suffix().isEmpty() &&
        !name.endsWith(QLatin1Char('.')))
        name += QLatin1Char('.') + DefaultExt;
    FileName = name;
    return true;
}
