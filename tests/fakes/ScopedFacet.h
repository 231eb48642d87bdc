#pragma once
// Puts a fake in place of one platform facet for the life of a test, then restores the real one.

template <typename Facet>
class ScopedFacet {
public:
    ScopedFacet(Facet*& slot, Facet& replacement) : slot_(slot), saved_(slot) {
        slot_ = &replacement;
    }
    ~ScopedFacet() { slot_ = saved_; }
    ScopedFacet(const ScopedFacet&) = delete;
    ScopedFacet& operator=(const ScopedFacet&) = delete;

private:
    Facet*& slot_;
    Facet* saved_;
};

template <typename Facet, typename Fake>
ScopedFacet(Facet*&, Fake&) -> ScopedFacet<Facet>;
