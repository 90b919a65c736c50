#!/usr/bin/python3
"""A Modbus server (pymodbus) at the far end of a pseudo-terminal, for the terminal's line tests.

    modbus_server.py rtu|ascii

Prints the device the program under test opens, then serves holding registers 4 and 5 (0x1234 and
0x5678) until it is killed or its parent ends. The server opens a second pseudo-terminal; a thread
carries the bytes between the two, as a null-modem cable would.
"""
import asyncio
import os
import select
import signal
import sys
import threading
import tty

try:
    from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext
    from pymodbus.server import StartAsyncSerialServer
    from pymodbus.transaction import ModbusAsciiFramer, ModbusRtuFramer
except ImportError:
    print("no pymodbus", flush=True)
    sys.exit(3)


def raw_pair():
    master, slave = os.openpty()
    tty.setraw(slave)
    return master, slave


def carry(a, b):
    while True:
        ready, _, _ = select.select([a, b], [], [], 0.5)
        if os.getppid() == 1:  # the test that started it is gone
            os._exit(0)
        for fd in ready:
            try:
                data = os.read(fd, 4096)
            except OSError:
                continue
            os.write(b if fd == a else a, data)


def main():
    framer = ModbusAsciiFramer if sys.argv[1:] == ["ascii"] else ModbusRtuFramer
    ours_master, ours_slave = raw_pair()
    theirs_master, theirs_slave = raw_pair()
    threading.Thread(target=carry, args=(ours_master, theirs_master), daemon=True).start()
    registers = ModbusSequentialDataBlock(0, [0] * 16)
    registers.setValues(5, [0x1234, 0x5678])  # addresses 4 and 5: the block counts from 1
    bits = ModbusSequentialDataBlock(0, [0] * 16)
    store = ModbusSlaveContext(hr=registers, ir=registers, co=bits, di=bits, zero_mode=False)
    signal.signal(signal.SIGTERM, lambda *_: os._exit(0))
    asyncio.run(serve(ModbusServerContext(slaves=store, single=True), framer, os.ttyname(theirs_slave),
                      os.ttyname(ours_slave)))


async def serve(context, framer, port, device):
    server = await StartAsyncSerialServer(context=context, framer=framer, port=port, baudrate=9600, bytesize=8,
                                          parity="N", stopbits=1, timeout=0.05, defer_start=True)
    await server.start()
    # Only now is the server listening: the device is told once a frame can be answered.
    print(device, flush=True)
    await asyncio.Event().wait()


main()
