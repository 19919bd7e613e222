// The file dialog's filter text in Qt's form.
#pragma once

#include <string>

#include <QStringList>

namespace gw::app {

// "Gullyware files (*.gwp)|*.gwp" -> {"Gullyware files (*.gwp)"}; pairs of description
// and patterns separated by "|", patterns separated by ";" ("*.ckb;*.rvq" -> "(*.ckb *.rvq)").
// The patterns of each pair are the ones the dialog applies, whatever its description shows.
QStringList qt_name_filters(const std::string& filter);

}  // namespace gw::app
