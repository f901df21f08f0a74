#include "app/measurement_status.h"

#include <QLocale>

#include "measure/axis_comparison.h"
#include "measure/measured_units.h"
#include "params/graph_choice.h"

QString MeasurementStatusText(const MeasurementState& state, const std::optional<RunRecord>& lastRun)
{
    if (!state.loadingName.isEmpty())
        return QStringLiteral("Чтение измерений «%1»…").arg(state.loadingName);
    if (state.measured == nullptr)
        return {};
    const QString count =
        QStringLiteral("Измерения: ") + QString::fromStdString(PointCountText(state.measured->points.size()));
    if (!state.coilSet)
        return count + QStringLiteral(" — задайте ток и витки (Вид → Ток и витки…)");
    if (!state.axisGraph)
        return count + QStringLiteral(" — сравнение на графике «%1»").arg(QString::fromUtf8(kAxisGraphEntry));
    if (!lastRun || lastRun->additions.measured.get() != state.measured || !lastRun->comparison)
        return count + QStringLiteral(" — нажмите «расчет»");
    const char decimal = QLocale().decimalPoint().at(0).toLatin1();
    QString text = QStringLiteral("Измерения: ") +
                   QString::fromStdString(ComparisonSummary(*lastRun->comparison, decimal != 0 ? decimal : '.'));
    if (lastRun->additions.fit != state.fitChosen)
        text += QStringLiteral(" — нажмите «расчет»");
    return text;
}

QString MeasurementFileText(const MeasurementSet* measured)
{
    if (measured == nullptr)
        return {};
    return QStringLiteral("Файл «%1», z в %2, B в %3")
        .arg(QString::fromStdString(measured->name), QString::fromUtf8(UnitSymbol(measured->units.z)),
             QString::fromUtf8(UnitSymbol(measured->units.b)));
}
