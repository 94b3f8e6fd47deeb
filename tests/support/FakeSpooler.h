#pragma once

#include "Platform/WFCSpooler.h"

#include <cstdint>
#include <string>
#include <vector>

// A spooler that answers what the test sets and keeps every job it takes,
// with the bytes of the file as they were when it was handed over.
class FakeSpooler : public WFCSpooler
{
public:
    struct Job
    {
        std::string destination;
        std::string title;
        std::string path;
        std::vector<std::uint8_t> bytes;
    };

    static FakeSpooler Ready(const std::string& name);
    static FakeSpooler Stopped(const std::string& name, const std::string& reason);
    static FakeSpooler None();
    // A printer that looks ready but refuses every job with the error.
    static FakeSpooler Refusing(const std::string& name, const std::string& error);

    Destination FindDefault() override;
    std::int32_t Submit(const std::string& destination, const std::string& pdfPath,
                        const std::string& title, std::string& error) override;

    Destination destination;
    std::string refusal; // non-empty: every job is refused with it
    std::int32_t nextJob = 41;
    int askedForDefault = 0;
    int submitted = 0;
    std::vector<Job> jobs;
};
