#pragma once

#include <memory>
#include <string>

namespace lorva::office {

// A piece of work for the office, as the program sends it.
struct Job
{
    std::string kind;         // "word", "pdf", "excel" or "slide"
    std::string source;       // the captured page (HTML) or, for a slide, the picture
    std::string templatePath; // word and pdf; empty: a new document
    bool landscape = false;   // a new word document: landscape
    std::string target;       // the document the user chose
    std::string intermediate; // pdf: the word-processor document beside it
    std::string title;        // excel: the sheet's name
};

struct Result
{
    bool ok = false;
    std::string error;
    int slides = 0; // slide: the new slide's number
};

// The connection to a running office through UNO, and the work done there.
class OfficeWork
{
public:
    // `folder`: a private folder for the copies of the documents the office
    // opens (the office keeps its lock files beside what it opens, and a
    // killed office leaves them there).
    explicit OfficeWork(std::string folder);
    ~OfficeWork();

    // Connects to the office at `url`, trying until `ms` have passed or
    // `alive` says the office has gone.
    bool connect(const std::string &url, int ms, bool (*alive)(void *), void *data, std::string &error);
    Result run(const Job &job);
    // Asks the office to end (every document closed first).
    void terminate();

    // The temporary file being written, for removal if the helper is killed.
    static const char *writing();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace lorva::office
