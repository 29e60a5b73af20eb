#pragma once

#include <cstdint>
#include <string>

// One of the four seat records of the table; record i normally describes seat i.
struct TSeatInfo {
    static constexpr size_t NickNameSize = 20;

    int64_t UserId = 0; // 0: the seat is empty
    std::string NickName;
    uint8_t SeatNo = 0; // the seat of this record in the seat-order table
    uint8_t Place = 0;  // that seat's place in the turn order, 0..3
    bool Ready = false;
};
