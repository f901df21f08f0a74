#include "app/measurement_loader.h"

MeasurementLoader::MeasurementLoader(Finished finished, QObject* parent) : QObject(parent), finished_(std::move(finished))
{
}

MeasurementLoader::~MeasurementLoader()
{
    abandon();
}

void MeasurementLoader::load(std::string path, MeasuredUnits units)
{
    abandon();
    stop_ = std::stop_source();
    const unsigned generation = generation_;
    worker_ = std::thread([this, generation, path = std::move(path), units, stop = stop_.get_token()] {
        MeasurementFileReading reading = ReadMeasurementFile(path, units, stop);
        QMetaObject::invokeMethod(
            this,
            [this, generation, reading = std::move(reading)]() mutable {
                if (generation != generation_)
                    return;  // abandoned: its thread has been waited for already
                worker_.join();
                finished_(std::move(reading));
            },
            Qt::QueuedConnection);
    });
}

void MeasurementLoader::abandon()
{
    stop_.request_stop();
    if (worker_.joinable())
        worker_.join();
    ++generation_;
}
