#pragma once

// A page control with named pages and a log of every page event, for the
// page control tests.

#include "controls/CfPageControl.h"

#include <memory>
#include <string>
#include <vector>

struct LoggedPages {
    cf::TCfPageControl control;
    std::vector<cf::TCfTabSheet*> pages;
    std::vector<std::string> log;
    bool refuseChange = false;

    // Pages named A, B, C ... with fixed tab widths, so positions do not
    // depend on the font.
    explicit LoggedPages(int count, int tabWidth = 40, int width = 300)
    {
        control.SetBounds(0, 0, width, 200);
        for (int i = 0; i < count; ++i)
            Add(std::string(1, char('A' + i)), tabWidth);
        control.OnChanging = [this](cf::TCfCustomNotebook*, int index, bool& allow) {
            log.push_back("changing " + std::to_string(index));
            allow = !refuseChange;
        };
        control.OnChange = [this](cf::TCfCustomNotebook* n) {
            log.push_back("change " + std::to_string(n->ActivePageIndex()));
        };
    }

    cf::TCfTabSheet* Add(const std::string& name, int tabWidth)
    {
        auto* p = new cf::TCfTabSheet(&control);
        p->SetCaption(name);
        p->SetTabWidth(tabWidth);
        p->OnShow = [this, name](cf::TCfTabSheet*) { log.push_back("show " + name); };
        p->OnHide = [this, name](cf::TCfTabSheet*) { log.push_back("hide " + name); };
        pages.push_back(p);
        return p;
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }
};

using Log = std::vector<std::string>;
