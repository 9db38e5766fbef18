#pragma once

// Sends standard output to /dev/null while it lives. The bitmap writer traces every save there,
// which would spoil the output of scripts; the tool reports failures itself.
class CQuietStdout {
  public:
    CQuietStdout();
    ~CQuietStdout();
    CQuietStdout(const CQuietStdout&) = delete;
    CQuietStdout& operator=(const CQuietStdout&) = delete;

  private:
    int saved = -1;
};
