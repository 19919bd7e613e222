// The file dialog's filter text in Qt's form.
#pragma once

#include <string>

#include <QString>
#include <QStringList>

namespace gw::app {

// "Gullyware files (*.gwp)|*.gwp" -> {"Gullyware files (*.gwp)"}; pairs of description
// and patterns separated by "|", patterns separated by ";" ("*.ckb;*.rvq" -> "(*.ckb *.rvq)").
// The patterns of each pair are the ones the dialog applies, whatever its description shows.
QStringList qt_name_filters(const std::string& filter);

// The extension a save dialog gives a name typed without one: the first concrete
// extension of the Qt name filter ("Gullyware files (*.gwp)" -> "gwp"); empty for "*.*".
QString filter_suffix(const QString& qt_filter);

// The folder a file dialog opens in: the folder last used for this kind of file, else
// the folder the window asks for unless that is the program's own folder, else the
// user's documents folder, else the home folder. Folders that no longer exist are passed over.
QString dialog_start_folder(const QString& remembered, const QString& asked, const QString& program_folder,
                            const QString& documents);

}  // namespace gw::app
