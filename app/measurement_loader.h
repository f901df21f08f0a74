#pragma once

#include <QObject>

#include <functional>
#include <stop_token>
#include <string>
#include <thread>

#include "measure/measurement_file.h"

// Reads a measurement file on a thread of its own (measure/measurement_file.h),
// so that the window keeps painting and answering while a large file is read.
// One file at a time: a new one abandons the reading going. The reading is
// handed to `finished` on the thread of the loader's owner.
class MeasurementLoader final : public QObject {
public:
    using Finished = std::function<void(MeasurementFileReading reading)>;

    explicit MeasurementLoader(Finished finished, QObject* parent = nullptr);
    // Asks the reading going to stop and waits for its end; its result is dropped.
    ~MeasurementLoader() override;
    MeasurementLoader(const MeasurementLoader&) = delete;
    MeasurementLoader& operator=(const MeasurementLoader&) = delete;

    // path: the file name's bytes as the system has them.
    void load(std::string path, MeasuredUnits units);
    bool loading() const { return worker_.joinable(); }
    // Asks the reading going to stop and waits for its end; its result is never handed on.
    void abandon();

private:

    Finished finished_;
    std::thread worker_;
    std::stop_source stop_;
    unsigned generation_ = 0;  // of the reading going; a reading of another one ended was abandoned
};
