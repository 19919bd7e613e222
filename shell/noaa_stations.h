// The Virginia NOAA station names offered by the project upgrade.
#pragma once

#include <string>
#include <vector>

namespace gw::shell {

// The 176 station names in list order, each exactly as the station rainfall table keys it.
const std::vector<std::string>& noaa_station_names();

}  // namespace gw::shell
