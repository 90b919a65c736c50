// The version text and the items of the Help menu: the screen resolution, the PC's (and the PLC's)
// time, the installation folder's disk, and the about box of the brand the program runs as.
#pragma once

#include <cstdint>
#include <string>

#include "lang/LangDialogs.h"
#include "lang/MenuTable.h"
#include "platform/Services.h"

namespace kestrion {

// titleText := the product word, a blank and the version text.
void setSoftwareVersion(const std::string& version);

// True when the program runs as the second brand's editor: its title starts with that brand's
// product word.
bool runsAsSecondBrand();

// Stores the screen size in screenWidth and screenHeight and shows it in status panel 0.
void screenResolution1Click();

// The about box's texts in the interface language (the second brand's box, TAboutMarboForm, when
// the program runs as that brand's editor), and the item that shows it.
AboutBox aboutBox();
void About1Click();

// A date and time as the Help items write it: 2024-02-29 (Thursday) 13:05:09, the weekday in the
// interface language.
std::string dateTimeText(const platform::LocalTime& time);
// Help > Time: the PC's date and time, and the PLC's clock as last read beside it while a PLC is
// connected.
std::string timeItemText();
void Time1Click();

// A size in bytes as the disk item writes it: 999 bytes, 1.5 kB, 97.9 GB (powers of 1000).
std::string byteSizeText(std::uint64_t bytes);
// Help > Disk: the file system that holds the installation folder: mount point, type, size and
// free space.
std::string diskItemText();
void Disk1Click();

// The Help menu's time and disk rows.
MenuTable helpMenuRows();

}  // namespace kestrion
