#include "platform/data/IBError.h"

#include "platform/errors/Exception.h"

#include <QStringList>

namespace IBError {

bool Failed(const ISC_STATUS* status) {
    return status[0] == 1 && status[1] != 0;
}

QString StatusText(const ISC_STATUS* status) {
    QStringList lines;
    char buffer[1024];
    const ISC_STATUS* cursor = status;
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        lines << QString::fromLocal8Bit(buffer);
    return lines.join('\n');
}

void Raise(const ISC_STATUS* status, const QString& context) {
    const QString text = StatusText(status);
    throw EDatabaseError(context.isEmpty() ? text : context + "\n" + text);
}

} // namespace IBError
