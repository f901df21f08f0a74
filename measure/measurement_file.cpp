#include "measure/measurement_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "measure/measurement_reading.h"
#include "params/message_text.h"

MeasurementFileReading ReadMeasurementFile(const std::string& path, MeasuredUnits units, std::stop_token stop)
{
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string quoted = QuotedForMessage(name);
    MeasurementFileReading out;
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        out.refusal = Message("Файл %1, это папка, а не таблица измерений.").arg(quoted);
        return out;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out.refusal = Message("Файл %1, %2.").arg(quoted).arg(OpeningProblem(errno));
        return out;
    }
    std::string bytes;
    char piece[1 << 16];
    while (in.read(piece, sizeof piece) || in.gcount() > 0) {
        bytes.append(piece, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMostMeasurementFileBytes)
            break;  // refused below
    }
    if (in.bad()) {
        out.refusal = Message("Файл %1, прочитать не удалось.").arg(quoted);
        return out;
    }
    return MeasurementsOfFile(bytes, name, units, stop);
}

MeasurementFileReading MeasurementsOfFile(std::string_view bytes, const std::string& name, MeasuredUnits units,
                                          std::stop_token stop)
{
    MeasurementFileReading out;
    if (bytes.size() > kMostMeasurementFileBytes) {
        out.refusal = Message("Файл %1, больше 256 МБ: это не таблица измерений.").arg(QuotedForMessage(name));
        return out;
    }
    MeasurementReading reading = ReadMeasurements(bytes, units, stop);
    if (!reading.refusal.empty()) {
        out.refusal = Message("Файл %1, %2.").arg(QuotedForMessage(name)).arg(std::move(reading.refusal));
        return out;
    }
    out.set = std::make_shared<const MeasurementSet>(MeasurementSet{std::move(reading.points), units, name});
    return out;
}
