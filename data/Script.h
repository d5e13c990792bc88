// CScript: the stored record of one resource. (Fields and their reader come with the records.)
#pragma once

class CScript {
public:
};
