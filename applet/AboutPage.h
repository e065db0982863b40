#pragma once
// The About page: the product and driver information, a Support button that shows the support
// text and a Licence button that opens the licence agreement. Every text comes from the label
// file; the page holds no other data.
#include "DevicePage.h"

class CAboutPage : public CDevicePage {
public:
    CAboutPage();

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnButtonClicked(int id) override;

    void OnSupport();
    void OnLicence();
};
