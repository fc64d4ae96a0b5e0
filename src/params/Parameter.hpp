#pragma once

#include <cstdint>
#include <string>
#include <utility>

// A tunable setting as the parameter panel sees it. It points at values owned
// elsewhere, edits them in place and raises `changed` for the owner to apply.
class Parameter {
  public:
    std::uint32_t index = 0;
    bool changed = false;
    std::string name;

    Parameter(const Parameter&) = delete;
    Parameter& operator=(const Parameter&) = delete;

    virtual void increase() = 0;
    virtual void decrease() = 0;
    virtual void increaseStep() = 0;
    virtual void decreaseStep() = 0;
    virtual void nextElement() = 0;
    virtual void previousElement() = 0;
    virtual std::string valueLine() const = 0;
    virtual std::string stepText() const = 0;
    virtual double stepMagnitude() const = 0;

  protected:
    explicit Parameter(std::string name) : name(std::move(name)) {}
    // Parameters live by value in their owner and are never deleted through
    // this base, so the destructor need not be virtual; protected keeps it so.
    ~Parameter() = default;
};
