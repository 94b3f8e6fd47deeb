#include "support/FakeSpooler.h"

#include <fstream>
#include <iterator>

FakeSpooler FakeSpooler::Ready(const std::string& name)
{
    FakeSpooler spooler;
    spooler.destination = {State::kReady, name, ""};
    return spooler;
}

FakeSpooler FakeSpooler::Stopped(const std::string& name, const std::string& reason)
{
    FakeSpooler spooler;
    spooler.destination = {State::kStopped, name, reason};
    return spooler;
}

FakeSpooler FakeSpooler::None()
{
    return FakeSpooler();
}

FakeSpooler FakeSpooler::Refusing(const std::string& name, const std::string& error)
{
    FakeSpooler spooler = Ready(name);
    spooler.refusal = error;
    return spooler;
}

WFCSpooler::Destination FakeSpooler::FindDefault()
{
    ++askedForDefault;
    return destination;
}

std::int32_t FakeSpooler::Submit(const std::string& name, const std::string& pdfPath,
                                 const std::string& title, std::string& error)
{
    ++submitted;
    if (!refusal.empty())
    {
        error = refusal;
        return 0;
    }
    std::ifstream file(pdfPath, std::ios::binary);
    Job job{name, title, pdfPath,
            std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {})};
    jobs.push_back(std::move(job));
    return nextJob++;
}
