#include "CallgrindCost.h"

#include "DriverObjects.h"
#include "SelfPath.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {

bool isDriver(const std::string& object) { return isDriverObject(object.c_str()); }

// "(7) name" defines id 7, "(7)" refers to it, a bare name has no id.
std::string objectName(const std::string& value, std::map<int, std::string>& names)
{
    if (value.empty() || value[0] != '(')
        return value;
    const size_t close = value.find(')');
    const int id = std::atoi(value.c_str() + 1);
    if (close + 1 < value.size())
        names[id] = value.substr(close + 2);
    return names[id];
}

} // namespace

bool CallgrindCost::active() { return RUNNING_ON_VALGRIND != 0; }

bool CallgrindCost::rerun(const char* argument, const std::string& outPrefix)
{
    const std::string command = "LP_NUM_THREADS=0 valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file=" +
                                outPrefix + " '" + selfPath() + "' " + argument + " > " + outPrefix + ".log 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::printf("callgrind run failed (see %s.log): %s\n", outPrefix.c_str(), command.c_str());
        return false;
    }
    return true;
}

void CallgrindCost::begin()
{
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
}

void CallgrindCost::end(const char* label)
{
    CALLGRIND_DUMP_STATS_AT(label);
    CALLGRIND_STOP_INSTRUMENTATION;
}

std::vector<CallgrindCost::Window> CallgrindCost::read(const std::string& outPrefix)
{
    std::vector<Window> windows;
    for (int part = 1;; ++part) {
        Window window;
        if (!readFile(outPrefix + "." + std::to_string(part), window))
            break;
        windows.push_back(window);
    }
    return windows;
}

bool CallgrindCost::readFile(const std::string& path, Window& window)
{
    std::ifstream in(path);
    if (!in)
        return false;
    const std::string trigger = "desc: Trigger: Client Request: ";
    std::map<int, std::string> objects;
    std::string object, callee;
    bool callCost = false;
    std::string line;
    while (std::getline(in, line)) {
        if (callCost && !line.empty()) {
            // The line after calls= holds the call's inclusive cost: position, then Ir.
            const size_t space = line.find(' ');
            if (space != std::string::npos && isDriver(callee) && !isDriver(object))
                window.driver += std::strtoull(line.c_str() + space + 1, nullptr, 10);
            callCost = false;
            callee = object;
        } else if (line.compare(0, 3, "ob=") == 0) {
            object = objectName(line.substr(3), objects);
            callee = object;
        } else if (line.compare(0, 4, "cob=") == 0) {
            callee = objectName(line.substr(4), objects);
        } else if (line.compare(0, 6, "calls=") == 0) {
            callCost = true;
        } else if (line.compare(0, 9, "summary: ") == 0 || line.compare(0, 8, "totals: ") == 0) {
            window.total = std::strtoull(line.c_str() + line.find(' ') + 1, nullptr, 10);
        } else if (line.compare(0, trigger.size(), trigger) == 0) {
            window.label = line.substr(trigger.size());
        }
    }
    return true;
}
