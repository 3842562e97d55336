#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into fuzz/corpus/<target>/: a few small, valid
inputs each, so that the fuzzers start from what the suite really reads."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def seed(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data if isinstance(data, bytes) else data.encode("latin-1"))


def record(number, velocity, temperature, pressure):
    body = bytearray(36)
    body[0:2] = b"\xcc\xdd"
    struct.pack_into("<i", body, 4, number)
    struct.pack_into("<fff", body, 16, velocity, temperature, pressure)
    body[35] = sum(body[:35]) & 0xFF
    return bytes(body)


def header(device_id=12345678, density=1.025, latitude=30.0, interval=0.5, firmware=b"V1.2"):
    body = bytearray(72)
    struct.pack_into("<i", body, 4, device_id)
    struct.pack_into("<fff", body, 12, density, latitude, interval)
    body[28:28 + len(firmware)] = firmware
    return bytes(body)


def cast(depths):
    records = [record(1, 0.0, 20.0, 1.0), record(2, 0.0, 20.0, 1.01)]
    for i, depth in enumerate(depths):
        records.append(record(i + 3, 1500.0 - depth / 10, 20.0 - depth / 5, 1.01 + depth / 10))
    return header() + b"".join(records)


def frame(payload):
    body = b"\xaa\x55" + struct.pack("<H", len(payload)) + payload
    return body + bytes([sum(body) & 0xFF])


seed("raw_cast", "down_up", cast([0.5 * i for i in range(12)] + [0.5 * i for i in range(11, -1, -1)]))
seed("raw_cast", "garbage_between", cast([1, 2, 3])[:150] + b"\x00\xcc\x13" + cast([4, 5])[72:])
seed("raw_cast", "header_only", header())

seed("point_file", "profile", b"\x00" + struct.pack("<9d", 0.5, 1500.1, 20.0, 1.0, 1499.9, 19.5,
                                                      1.5, 1499.7, 19.0))
seed("point_file", "average", b"\x01" + struct.pack("<4d", 0.5, 1500.0, 1.0, 1499.95) + b"\x01\x02")

for name, reply in {
    "sysinfo": "$cmd,get,sysinfo,12345678,V1.2*ff\r\n",
    "voltage": "$cmd,get,voltage,12.5*ff\r\n",
    "depthscale": "$cmd,get,depthscale,0.5*ff\r\n",
    "areapara": "$cmd,get,areapara,1.025,-33.5*ff\r\n",
    "space": "$cmd,get,space,1048575,3145728*ff\r\n",
    "workstate": "$cmd,get,workstate,25*ff\r\n",
    "utctime": "$cmd,get,utctime,2014,3,5,10,0,0*ff\r\n",
}.items():
    seed("device_readings", name, reply)

seed("file_index", "two_files", "$cmd,fileindex,start*ff\r\n"
     "$cmd,file,0,SVP00001.BIN,1234567,17509,21135*ff\r\n"
     "$cmd,file,1,SVP00002.BIN,4096,17510,0*ff\r\n"
     "$cmd,fileindex,end*ff\r\n")
seed("file_index", "one_line", "$cmd,file,0,N,100,17509,21135*ff")
seed("file_index", "no_files", "$cmd,card,nofile*ff\r\n")

seed("file_info", "sound", frame(b"123456789SVP00001.BIN,12345"))
seed("file_info", "gbk_name", frame(b"123456789\xd6\xd0\xce\xc4.BIN,77"))
seed("file_info", "no_size", frame(b"123456789X,-5"))

# The data block target reads its own choices from the bytes; a few mixed starts.
seed("data_block", "zeros", bytes(64))
seed("data_block", "counting", bytes(range(256)))
seed("data_block", "frame", frame(b"".join(record(n, 1500.0, 10.0, 2.0) for n in range(1, 4))))

# FuzzedDataProvider: a string ends at a backslash and the byte after it; integers come from
# the end of the input.
seed("output_name", "plain", "2014-03-05 10:00:00\\xSVP00001.BIN\x00\x00\x00")
seed("output_name", "gbk", b"2014-03-05\\x\xd6\xd0\xce\xc4.BIN\x00\x00\x03")
seed("output_name", "hostile", "x\\x../../CON .\\\\a:b*?\x00\x00\x00")

seed("gbk_text", "chinese", b"\xd6\xd0\xce\xc4SVP.BIN")
seed("gbk_text", "cut", b"A\x81")
seed("gbk_text", "control", b"\x1b[2Jname\x7f")

seed("cli_arguments", "process", "cast.bin\x00--density\x001.025\x00--format=csv\x00--append")
seed("cli_arguments", "device", "download\x00--port=/dev/ttyUSB0\x00--all\x00--lang\x00zh")
seed("cli_arguments", "numbers", "1e308\x00-0x10\x00--interval=0.5\x00 7")

seed("cast_time", "named", "2014-03-05_100000_SVP.BIN\\x5.75\\x-33.5,151.25")
seed("cast_time", "typed", "2024-02-29 23:59:59\\x-14\\x 45.5 , -73.25")

seed("chart", "small", bytes(range(0, 256, 3)))
seed("chart", "ones", b"\x01" * 200)

def sis_profile(points):
    body = b"U" + struct.pack("<HIIHHIIHH", 2040, 20261207, 72900000, 1, 100, 20261207, 72900,
                                len(points), 1)
    body += b"".join(struct.pack("<II", round(d * 100), round(c * 10)) for d, c in points)
    return b"\x02" + body + b"\x03" + struct.pack("<H", sum(body) & 0xFFFF)


def kmall_svp(points):
    size = 20 + 28 + 20 * len(points) + 4
    body = struct.pack("<I4sBBHII", size, b"#SVP", 1, 0, 2040, 1796674500, 0)
    body += struct.pack("<HH4sIdd", 28, len(points), b"S01\x00", 1796674500, 0.0, 0.0)
    body += b"".join(struct.pack("<ffIff", d, c, 0, 10.0, 35.0) for d, c in points)
    return body + struct.pack("<I", size)


PROFILE = [(0.0, 1500.1), (0.5, 1500.1), (30.0, 1490.5), (12000.0, 1675.8)]
seed("sis_receipt", "profile", sis_profile(PROFILE))
seed("sis_receipt", "empty", sis_profile([]))
seed("kmall_receipt", "profile", kmall_svp(PROFILE))
seed("kmall_receipt", "empty", kmall_svp([]))


def nmea(body):
    checksum = 0
    for c in body.encode():
        checksum ^= c
    return "$%s*%02X\r\n" % (body, checksum)


seed("nmea", "sentences", nmea("GPZDA,101500.50,07,12,2026,00,00")
     + nmea("GNGGA,101501.25,2217.1300,N,11409.4620,E,2,08,0.9,5.0,M,,M,,")
     + nmea("GPRMC,101503.00,A,2217.1300,N,11409.4620,E,0.0,0.0,071226,,,A"))
seed("nmea", "log", "2026-12-07T00:00:01.500Z -33.50000000 -151.25000000 4 GNGGA "
     "2026-12-07T00:00:01.531Z\n")
