// Installs a service (prompts, shell, engine channel) for the life of a scope and
// puts the previous one back afterwards; tests use it to slot in their recorders.
#pragma once

namespace sw {

template <class Service>
class ScopedService {
public:
    explicit ScopedService(Service& service) : previous_(Service::install(&service)) {}
    ~ScopedService() { Service::install(previous_); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* previous_;
};

}  // namespace sw
