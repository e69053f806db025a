#pragma once
// Where the memory register survives a restart: the settings "Memory", "MemoryOn" and
// "MemoryRead" of section "Value". The settings store implements it; tests use
// InMemoryMemoryStore.
#include <string>
#include <string_view>

namespace pemu::core {

class MemoryStorePort {
  public:
    virtual ~MemoryStorePort() = default;

    // "Memory": the kept register text (CP932, at most 19 characters are used).
    virtual std::string Memory() const = 0;
    // "MemoryOn": the kept memory holds a value.
    virtual bool MemoryOn() const = 0;
    // "MemoryRead": keep the memory after exit (menu item IsTakeOverMemory).
    virtual bool MemoryRead() const = 0;
    virtual void SetMemory(std::string_view value) = 0;
    virtual void SetMemoryOn(bool on) = 0;
    virtual void SetMemoryRead(bool on) = 0;
};

// The defaults of a fresh settings file: "0", off, on.
class InMemoryMemoryStore : public MemoryStorePort {
  public:
    std::string Memory() const override { return memory_; }
    bool MemoryOn() const override { return memoryOn_; }
    bool MemoryRead() const override { return memoryRead_; }
    void SetMemory(std::string_view value) override { memory_ = std::string(value); }
    void SetMemoryOn(bool on) override { memoryOn_ = on; }
    void SetMemoryRead(bool on) override { memoryRead_ = on; }

  private:
    std::string memory_ = "0";
    bool memoryOn_ = false;
    bool memoryRead_ = true;
};

}  // namespace pemu::core
