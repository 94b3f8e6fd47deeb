#pragma once

#include <functional>
#include <string>

// Fills the placeholders of a form template: "{{class:N}}" becomes the name
// of class N and "{{skill:N}}" the name of the skill whose sheet row is N,
// each in UTF-8 and escaped for XML; a name the rules lack becomes nothing.
// The names come from lookup(kind, number), which answers in Windows-1252
// (or false when there is no such record).
class SheetFormFiller
{
public:
    using Lookup = std::function<bool(const std::string& kind, int number, std::string& name)>;

    explicit SheetFormFiller(Lookup lookup) : lookup(std::move(lookup)) {}

    // False, with error naming the line, for a placeholder of another kind,
    // a number that is not one, or one left open.
    bool Fill(const std::string& form, std::string& out, std::string& error) const;

    // The names of the compiled rule set already loaded into VelDatabase.
    static Lookup FromDatabase();

private:
    Lookup lookup;
};
