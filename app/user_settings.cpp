#include "app/user_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include "app/rate_file_loading.h"
#include "platform/platform.h"

namespace levywise {
namespace {

constexpr qsizetype kMaxValueLength = 119;

bool IsSection(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    return t.startsWith('[') && t.contains(']');
}

QByteArray SectionName(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    return t.mid(1, t.indexOf(']') - 1).trimmed().toLower();
}

QByteArray KeyOf(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (t.startsWith(';') || !t.contains('=')) return {};
    return t.left(t.indexOf('=')).trimmed().toLower();
}

// A value the reader would trim, or whose quotes it would take off, is
// written between quotes, of which the reader takes off one pair.
std::optional<QByteArray> Value(const QByteArray& value) {
    if (value.size() > kMaxValueLength || value.contains('\r') || value.contains('\n') ||
        value.contains('\0'))
        return std::nullopt;
    const bool bare = value == value.trimmed() && !value.startsWith('"') && !value.startsWith('\'');
    return bare ? value : '"' + value + '"';
}

} // namespace

std::optional<QByteArray> SettingsWithRateFile(const QByteArray& text, const QByteArray& folder,
                                               const QByteArray& fileName) {
    const auto file = Value(fileName);
    const auto path = Value(folder);
    if (!file || !path) return std::nullopt;
    const QByteArray eol = text.contains("\r\n") ? "\r\n" : "\n";
    QList<QByteArray> lines = text.isEmpty() ? QList<QByteArray>() : text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);

    const std::pair<QByteArray, QByteArray> wanted[] = {{"taxratefile", "TaxRateFile=" + *file},
                                                        {"taxratepath", "TaxRatePath=" + *path}};
    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (IsSection(lines[i]) && SectionName(lines[i]) == "general") {
            section = i;
            break;
        }
    if (section < 0) {
        lines << "[general]";
        section = lines.size() - 1;
    }
    qsizetype end = section + 1;
    while (end < lines.size() && !IsSection(lines[end])) ++end;
    for (const auto& [key, line] : wanted) {
        bool set = false;
        for (qsizetype i = section + 1; i < end && !set; ++i)
            if (KeyOf(lines[i]) == key) {
                lines[i] = line;
                set = true;
            }
        if (!set) lines.insert(end++, line);
    }
    return lines.join(eol) + eol;
}

QString UsersSettingsPath(Platform& platform) {
    const QString folder = platform.userConfigFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QLatin1String(kSettingsFileName));
}

SettingsFile FindSettingsFile(Platform& platform) {
    const QString here =
        platform.currentDirectory() + QDir::separator() + QLatin1String(kSettingsFileName);
    if (QFileInfo(here).isFile()) return {here, false};
    const QString users = UsersSettingsPath(platform);
    if (!users.isEmpty() && QFileInfo(users).isFile()) return {users, true};
    return {};
}

void RememberRateFile(Platform& platform, const QString& rateFile) {
    const SettingsFile found = FindSettingsFile(platform);
    const QString users = UsersSettingsPath(platform);
    if ((!found.path.isEmpty() && !found.usersOwn) || users.isEmpty()) return;

    QByteArray before;
    if (QFile file(users); file.open(QIODevice::ReadOnly)) before = file.readAll();
    const QFileInfo rate(rateFile);
    const auto after = SettingsWithRateFile(before, QFile::encodeName(rate.absolutePath()),
                                            QFile::encodeName(rate.fileName()));
    if (!after || *after == before || !QDir().mkpath(QFileInfo(users).absolutePath())) return;
    QSaveFile file(users);
    if (file.open(QIODevice::WriteOnly) && file.write(*after) == after->size()) file.commit();
}

} // namespace levywise
