#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

// The golden files of a feature: every file in tests/data/<feature>/ is an
// input (one a fuzzer once found, for instance), and the file of the same
// name with ".expected" added holds the text that its result must give.
struct GoldenCase {
    QString name;
    QByteArray input;
    QString expected;
};

inline QByteArray ReadGoldenFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline std::vector<GoldenCase> GoldenCases(const QString& feature) {
    const QDir folder(QStringLiteral(STELPOD_TEST_DATA "/") + feature);
    std::vector<GoldenCase> cases;
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
        if (name.endsWith(QLatin1String(".expected")))
            continue;
        cases.push_back(
            {name, ReadGoldenFile(folder.filePath(name)),
             QString::fromUtf8(ReadGoldenFile(folder.filePath(name + ".expected"))).trimmed()});
    }
    return cases;
}
