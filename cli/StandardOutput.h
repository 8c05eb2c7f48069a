// The converter's standard files: each of standard input, output and error holds an open file
// before anything else is opened, and a failed write to standard output turns success into
// failure.
#pragma once

namespace lumelle {

class StandardOutput
{
public:
    // Gives each standard file the caller closed a stand-in: /dev/full for standard output, so
    // that no file opened later takes its number (and the printed lines) and the first write
    // fails as it should; /dev/null for the others. Made before anything else is opened.
    StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // Puts what was printed on standard output out now, noting the first failure.
    void flush();
    // The exit status once standard output is flushed: a failed write there turns success
    // into failure, after saying so on standard error.
    int checkedStatus(int status);

private:
    bool m_closed = false; // standard output was closed by the caller
    int m_error = 0;       // the system's reason for the first failed write; 0 while none failed
};

} // namespace lumelle
