#pragma once
// The section table: one record per INI section, in file order, with every inherited value
// resolved along the "PARENTCLASS" chain.

#include "SkinIni.h"
#include "SkinTables.h"

TsGeneralDataArray LoadSections(const SkinIni& ini);
