#pragma once

#include <memory>
#include <stop_token>
#include <string>
#include <string_view>

#include "measure/measured_units.h"
#include "measure/measurement_set.h"
#include "texts/message.h"

// The largest file taken for a measurement table: a million rows take about
// 20 MB.
inline constexpr std::size_t kMostMeasurementFileBytes = std::size_t{256} << 20;

// Reads the file at path (the name's bytes as the system has them) as
// ReadMeasurements does (measure/measurement_reading.h), into a set named by
// the file's name. A file that cannot be opened or read, or is larger than
// kMostMeasurementFileBytes, is refused as well. A refusal is one sentence
// naming the file, in Russian «Файл «a.csv», строка 5: не число «xy».»
struct MeasurementFileReading {
    std::shared_ptr<const MeasurementSet> set;  // null when refused
    Message refusal;
};
MeasurementFileReading ReadMeasurementFile(const std::string& path, MeasuredUnits units, std::stop_token stop = {});

// The contents of a file named `name` (without its folder) read as
// ReadMeasurementFile reads them, with its refusals: for a page that has the
// file's bytes rather than a path.
MeasurementFileReading MeasurementsOfFile(std::string_view bytes, const std::string& name, MeasuredUnits units,
                                          std::stop_token stop = {});
