#pragma once
#include <QTemporaryDir>
#include <string>

namespace landora::test {

// A scratch folder that disappears with the test.
class TempDir {
public:
    TempDir();
    std::string Path() const { return dir_.path().toStdString(); }
    std::string File(const std::string &name) const { return Path() + "/" + name; }
    void Write(const std::string &name, const std::string &bytes) const;
    std::string Read(const std::string &name) const;

private:
    QTemporaryDir dir_;
};

} // namespace landora::test
