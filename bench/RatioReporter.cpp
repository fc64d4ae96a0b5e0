#include "RatioReporter.hpp"

#include <cstdio>

namespace {

std::string parentOf(const std::string& name) {
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

std::string leafOf(const std::string& name) {
    const auto slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // Medians only; a run without repetitions counts as its own median.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single) continue;
        const std::string name = run.run_name.function_name;
        const double seconds =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const auto rate = run.counters.find("updates/s");
        if (medians_.count(name) == 0) order_.push_back(name);
        medians_[name] = {seconds * 1e3, rate == run.counters.end() ? 0.0 : rate->second.value};
    }
}

void RatioReporter::printTables() const {
    printRatios();
    printShares();
}

void RatioReporter::printRatios() const {
    std::printf("\n%-52s %12s %10s %14s\n", "median of the repetitions", "ms", "vs ref",
                "Mupdates/s");
    for (const std::string& name : order_) {
        if (name.rfind("app/", 0) == 0) continue;
        const Median& m = medians_.at(name);
        const auto ref = medians_.find(parentOf(name) + "/reference");
        std::printf("%-52s %12.3f", name.c_str(), m.ms);
        if (ref != medians_.end() && leafOf(name) != "reference") {
            std::printf(" %9.2fx", ref->second.ms / m.ms);
        } else {
            std::printf(" %10s", "");
        }
        if (m.updatesPerSecond > 0.0) std::printf(" %14.0f", m.updatesPerSecond / 1e6);
        std::printf("\n");
    }
}

void RatioReporter::printShares() const {
    bool header = false;
    for (const std::string& name : order_) {
        if (name.rfind("app/", 0) != 0 || leafOf(name) == "frameStep") continue;
        const auto whole = medians_.find(parentOf(name) + "/frameStep");
        if (whole == medians_.end()) continue;
        if (!header) {
            std::printf("\n%-52s %12s %10s\n", "whole frame and its parts", "ms", "share");
            header = true;
        }
        const double part = medians_.at(name).ms;
        if (name == parentOf(name) + "/relax") {
            std::printf("%-52s %12.3f\n", whole->first.c_str(), whole->second.ms);
        }
        std::printf("%-52s %12.3f %9.1f%%\n", name.c_str(), part, 100.0 * part / whole->second.ms);
    }
}
