// The file dialog's filter text in Qt's form.
#include "app/file_filter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace gw::app {

QStringList qt_name_filters(const std::string& filter) {
  QStringList out;
  const QStringList parts = QString::fromStdString(filter).split('|');
  if (parts.size() == 1 && parts[0].trimmed().isEmpty()) return out;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString desc = parts[i].trimmed();
    QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString("*");
    QStringList pats;
    for (const QString& p : patterns.split(';', Qt::SkipEmptyParts)) pats << p.trimmed();
    if (pats.isEmpty()) pats << "*";
    // The description's own "(...)" is replaced by the patterns that apply.
    static const QRegularExpression trailing(R"(\s*\([^()]*\)\s*$)");
    desc.remove(trailing);
    if (desc.isEmpty()) desc = pats.join(' ');
    out << desc + " (" + pats.join(' ') + ")";
  }
  return out;
}

QString filter_suffix(const QString& qt_filter) {
  static const QRegularExpression pattern(R"(\*\.([A-Za-z0-9_]+))");
  const auto m = pattern.match(qt_filter);
  return m.hasMatch() ? m.captured(1) : QString();
}

QString dialog_start_folder(const QString& remembered, const QString& asked, const QString& program_folder,
                            const QString& documents) {
  auto usable = [](const QString& d) { return !d.isEmpty() && QFileInfo(d).isDir(); };
  if (usable(remembered)) return remembered;
  const bool program = !program_folder.isEmpty() && QDir(asked) == QDir(program_folder);
  if (usable(asked) && !program) return asked;
  // A documents folder that does not exist (a first run on a fresh account) would be taken
  // by the dialog as a file name to pre-fill: the home folder stands in for it.
  if (usable(documents)) return documents;
  return QDir::homePath();
}

}  // namespace gw::app
